// Reading the clipboard of another client in the background: a content of megabytes arrives
// whole (in pieces, INCR), one cut short by the time bound not at all, and what is read goes
// back onto the clipboard under the names it came with.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/x11/X11SelectionReader.h"
#include "tests/platform_windows/DesktopSupport.h"

using namespace vorbix;
using namespace vorbix::test;

namespace {

using Formats = std::vector<X11SelectionReader::Format>;

// Reads the clipboard and runs the event loop until the reader reports.
std::optional<Formats> readClipboard(X11SelectionReader& reader, int boundMs) {
    std::optional<Formats> got;
    reader.read(boundMs, [&](Formats formats) { got = std::move(formats); });
    waitFor([&] { return got.has_value(); }, boundMs + 2000);
    return got;
}

QByteArray formatOf(const Formats& formats, const char* name) {
    for (const auto& [n, bytes] : formats)
        if (n == QLatin1String(name)) return bytes;
    return {};
}

}  // namespace

TEST(SelectionReader, ReadsABigContentOfAnotherClientWhole) {
    XView view;
    const int size = 20 * 1024 * 1024;
    Target owner(view, "Big owner",
                 {"--own-clipboard", "0123456789", "--own-clipboard-size", QString::number(size)});
    ASSERT_NE(owner.waitForWindow(), 0u);
    X11SelectionReader reader;
    // The owner may still be taking the clipboard; read until it offers the text.
    std::optional<Formats> formats;
    ASSERT_TRUE(waitFor(
        [&] {
            formats = readClipboard(reader, 3000);
            return formats && !formatOf(*formats, "UTF8_STRING").isEmpty();
        },
        10000));
    const QByteArray text = formatOf(*formats, "UTF8_STRING");
    EXPECT_EQ(text.size(), size);
    EXPECT_TRUE(text.startsWith("0123456789012"));
    // One text is enough: the legacy encodings and the lists are not read.
    for (const char* skipped : {"STRING", "TEXT", "TARGETS", "TIMESTAMP", "text/plain"})
        EXPECT_TRUE(formatOf(*formats, skipped).isNull()) << skipped;

    // Cut short by the bound: left out, never kept in part.
    const std::optional<Formats> hurried = readClipboard(reader, 20);
    ASSERT_TRUE(hurried.has_value());
    EXPECT_TRUE(formatOf(*hurried, "UTF8_STRING").isNull());

    // A read cancelled by another never reports.
    bool first = false;
    reader.read(3000, [&](Formats) { first = true; });
    EXPECT_TRUE(readClipboard(reader, 3000).has_value());
    EXPECT_FALSE(first);
}

TEST(SelectionReader, FormatsGoBackUnderTheirNames) {
    const auto data = [](const Formats& formats) {
        return X11SelectionReader::toMimeData(formats);
    };
    EXPECT_EQ(data({}), nullptr);
    EXPECT_EQ(data({{"UTF8_STRING", "grüße"}})->text(), "grüße");
    // UTF-8 text wins over text/plain and Latin-1; Latin-1 alone is text as well.
    const auto both = data({{"STRING", "\xe4"}, {"text/plain", "plain"}, {"UTF8_STRING", "utf8"}});
    EXPECT_EQ(both->text(), "utf8");
    EXPECT_EQ(data({{"STRING", "\xe4"}})->text(), "ä");
    EXPECT_EQ(data({{"STRING", "\xe4"}, {"text/plain", "plain"}})->text(), "plain");
    const auto rich = data({{"text/html", "<b>x</b>"},
                            {"Rich Text Format", "{\\rtf1 x}"},
                            {"image/png", QByteArray("\x89PNG", 4)}});
    EXPECT_EQ(rich->data("text/html"), "<b>x</b>");
    EXPECT_EQ(rich->data("Rich Text Format"), "{\\rtf1 x}");
    EXPECT_EQ(rich->data("image/png"), QByteArray("\x89PNG", 4));
    EXPECT_FALSE(rich->hasText());
}
