// A shared library loaded at run time, for the parts of the program that only some tables need
// (the sound libraries): a table that never uses them never maps them. A library whose functions
// were all found stays loaded for the rest of the process, since threads it started and
// callbacks into it may outlive whoever loaded it.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace vorbix {

class SharedLibrary {
public:
    // Loads `file` (a name the dynamic loader looks up, or a path), or finds it loaded already.
    explicit SharedLibrary(const std::string& file);
    // Unloads the library unless keep() was called.
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    // Why the library or a function could not be found; empty while all went well.
    const std::string& error() const { return error_; }
    // Resolves the function `name` into `function`; null and false (error() names it) when the
    // library has no such function.
    template <typename F>
    bool resolve(const char* name, F*& function) {
        void* symbol = find(name);
        function = reinterpret_cast<F*>(symbol);
        return symbol != nullptr;
    }
    // The library stays loaded after this object is gone.
    void keep() { kept_ = true; }

private:
    void* find(const char* name);
    std::string file_;
    void* handle_ = nullptr;
    std::string error_;
    bool kept_ = false;
};

// The table of functions `Table` (with a `bool resolveAll(SharedLibrary&)`) from `file`: loaded
// on the first call for that file and kept, any thread. Null when the library or one of its
// functions is missing; `error` then says which (the same answer on every later call).
template <typename Table>
const Table* loadFunctionTable(const std::string& file, std::string* error) {
    struct Entry {
        std::unique_ptr<Table> table;
        std::string error;
    };
    static std::mutex mutex;
    static std::map<std::string, Entry> loaded;
    std::lock_guard lock(mutex);
    auto [entry, fresh] = loaded.try_emplace(file);
    if (fresh) {
        SharedLibrary library(file);
        auto table = std::make_unique<Table>();
        if (library.loaded() && table->resolveAll(library)) {
            library.keep();
            entry->second.table = std::move(table);
        } else {
            entry->second.error = library.error();
        }
    }
    if (error) *error = entry->second.error;
    return entry->second.table.get();
}

}  // namespace vorbix
