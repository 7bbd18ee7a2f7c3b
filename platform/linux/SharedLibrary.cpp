#include "platform/linux/SharedLibrary.h"

#include <dlfcn.h>

namespace vorbix {

SharedLibrary::SharedLibrary(const std::string& file) : file_(file) {
    handle_ = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* why = ::dlerror();
        error_ = why ? why : file + ": cannot be loaded";
    }
}

SharedLibrary::~SharedLibrary() {
    if (handle_ && !kept_) ::dlclose(handle_);
}

void* SharedLibrary::find(const char* name) {
    if (!handle_) return nullptr;
    ::dlerror();
    void* symbol = ::dlsym(handle_, name);
    if (!symbol && error_.empty()) error_ = file_ + " has no function " + name;
    return symbol;
}

}  // namespace vorbix
