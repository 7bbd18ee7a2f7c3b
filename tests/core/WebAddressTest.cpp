// Which addresses of a website row go out as typed, which get "http://", which are refused.
#include <gtest/gtest.h>

#include "core/WebAddress.h"

namespace vorbix {
namespace {

TEST(WebAddress, SchemesStayHostsGetHttp) {
    struct Case {
        const char* typed;
        const char* opened;
    } cases[] = {
        {"https://a.b/c", "https://a.b/c"},
        {" mailto:x@y.z ", "mailto:x@y.z"},
        {"tel:+4930123456", "tel:+4930123456"},
        {"tel:110", "tel:110"},
        {"sip:alice@example.org", "sip:alice@example.org"},
        {"magnet:?xt=urn:btih:abc", "magnet:?xt=urn:btih:abc"},
        {"news:comp.lang.c", "news:comp.lang.c"},
        {"irc://irc.libera.chat/#debian", "irc://irc.libera.chat/#debian"},
        {"IRC:chat", "IRC:chat"},
        {"svn+ssh://h/r", "svn+ssh://h/r"},
        {"file:///home/u/a.html", "file:///home/u/a.html"},
        {"www.example.org", "http://www.example.org"},
        {"localhost:8080", "http://localhost:8080"},
        {"localhost:8080/x", "http://localhost:8080/x"},
        {"example.org:443?q=1", "http://example.org:443?q=1"},
        {"intranet:80#top", "http://intranet:80#top"},
        // No scheme: a drive letter, a leading "-" or digit (never read as an option).
        {"C:\\page.html", "http://C:\\page.html"},
        {"-x://y", "http://-x://y"},
        {"1a://y", "http://1a://y"},
    };
    for (const Case& c : cases) EXPECT_EQ(webAddressOf(c.typed), c.opened) << c.typed;
}

TEST(WebAddress, ScriptAndDataAddressesAreRefused) {
    struct Case {
        const char* address;
        bool refused;
    } cases[] = {
        {"javascript:alert(1)", true},
        {"  JavaScript:alert(1)", true},
        {"java\tscript:alert(1)", true},
        {"java\nscript:alert(1)", true},
        {"vbscript:msgbox", true},
        {"data:text/html,<script>alert(1)</script>", true},
        {"DATA:text/plain;base64,SGk=", true},
        {"https://example.org/javascript:x", false},
        {"www.data.org", false},
        {"data.example.org:8080", false},
        {"tel:+4930123456", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isRefusedAddress(c.address), c.refused) << c.address;
}

}  // namespace
}  // namespace vorbix
