// Where the program finds its language files and images, and its helper programs, built and
// installed.
#include <gtest/gtest.h>

#include "storage/StorageLocations.h"

namespace vorbix {
namespace {

TEST(ProgramFolder, DataBesideTheExecutableWinsElseShareAndLibexecBesideBin) {
    struct Case {
        const char* executable;
        bool dataBeside;
        const char* folder;
        const char* helpers;
    };
    const Case cases[] = {
        // Installed: the data lies in share/vorbix/ beside the bin folder.
        {"/usr/bin/vorbix", false, "/usr/share/vorbix/", "/usr/libexec/vorbix/"},
        {"/usr/local/bin/vorbix-hkv", false, "/usr/local/share/vorbix/",
         "/usr/local/libexec/vorbix/"},
        {"/opt/x//bin/vorbix", false, "/opt/x/share/vorbix/", "/opt/x/libexec/vorbix/"},
        {"/bin/vorbix", false, "/share/vorbix/", "/libexec/vorbix/"},
        // The build tree, a copied folder, a build folder that happens to be called "bin".
        {"/home/u/src/build/vorbix", true, "/home/u/src/build/", "/home/u/src/build/"},
        {"/home/u/src/bin/vorbix", true, "/home/u/src/bin/", "/home/u/src/bin/"},
        // Only a folder named exactly "bin" points elsewhere.
        {"/opt/vorbix/binaries/vorbix", false, "/opt/vorbix/binaries/", "/opt/vorbix/binaries/"},
        {"/usr/sbin/vorbix", false, "/usr/sbin/", "/usr/sbin/"},
        {"/usr/bin.old/vorbix", false, "/usr/bin.old/", "/usr/bin.old/"},
        {"/home/u/build/vorbix", false, "/home/u/build/", "/home/u/build/"},
        {"/vorbix", false, "/", "/"},
        {"vorbix", false, "./", "./"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(programFolderFor(c.executable, c.dataBeside), c.folder)
            << c.executable << " beside=" << c.dataBeside;
        EXPECT_EQ(helperFolderFor(c.executable, c.dataBeside), c.helpers)
            << c.executable << " beside=" << c.dataBeside;
    }
}

}  // namespace
}  // namespace vorbix
