#include "storage/HtmlExport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "storage/TextCodec.h"

namespace vorbix {
namespace {

namespace fs = std::filesystem;

HotKeyEntry entry(std::string key, std::string action, std::string properties) {
    HotKeyEntry e;
    e.HotKeyText = std::move(key);
    e.ActionText = std::move(action);
    e.PropertiesText = std::move(properties);
    return e;
}

TEST(HtmlExport, EnglishPageLineForLineWithEscapedRowTexts) {
    HotKeyTable table;
    ASSERT_TRUE(table.append(entry("Ctrl+<", "Insert text", "Tom & \"Jerry\" <b>")));
    ASSERT_TRUE(table.append(entry("Win+M", "Minimize all", "")));
    const HtmlLinkEndpoints link{"https://example.org/p?a=1&b=2", "example.org"};
    EXPECT_EQ(
        htmlExportText(table, "English", link),
        "<html>\r\n<head>\r\n<title>Hot Keys</title>\r\n</head>\r\n<body>\r\n"
        "<table border=\"0\" width=\"100%\">\r\n<tr>\r\n"
        "<td width=\"25%\" align=\"center\"><b>\r\n"
        "<font face=\"Tahoma\" style=\"font-size: 12pt\">ShortCut</font></b></td>\r\n"
        "<td width=\"30%\" align=\"center\"><b>\r\n"
        "<font face=\"Tahoma\" style=\"font-size: 12pt\">Action</font></b></td>\r\n"
        "<td width=\"45%\" align=\"center\"><b>\r\n"
        "<font face=\"Tahoma\" style=\"font-size: 12pt\">Properties</font></b></td>\r\n"
        "</tr>\r\n"
        "<tr>\r\n"
        "<td width=\"25%\" align=\"center\"><font face=\"Tahoma\">Ctrl+&lt;</font></td>\r\n"
        "<td width=\"30%\" align=\"center\"><font face=\"Tahoma\">Insert text</font></td>\r\n"
        "<td width=\"45%\" align=\"center\"><font face=\"Tahoma\">"
        "Tom &amp; &quot;Jerry&quot; &lt;b&gt;</font></td>\r\n"
        "</tr>\r\n"
        "<tr>\r\n"
        "<td width=\"25%\" align=\"center\"><font face=\"Tahoma\">Win+M</font></td>\r\n"
        "<td width=\"30%\" align=\"center\"><font face=\"Tahoma\">Minimize all</font></td>\r\n"
        "<td width=\"45%\" align=\"center\"><font face=\"Tahoma\"></font></td>\r\n"
        "</tr>\r\n"
        "</table>\r\n"
        "<p><font face=\"Tahoma\" style=\"font-size: 12pt\">created by Vorbix ("
        "<a href=\"https://example.org/p?a=1&amp;b=2\">example.org</a>)</font></p>\r\n"
        "</body>\r\n</html>\r\n");
}

TEST(HtmlExport, GermanHeadingsEmptyTableAndDefaultLink) {
    const std::string page = htmlExportText(HotKeyTable{}, "German");
    EXPECT_NE(page.find("<title>Hot Key-Verteilung</title>"), std::string::npos);
    for (const char* heading : {">Tastenkombination<", ">Aktion<", ">Eigenschaften<"}) {
        EXPECT_NE(page.find(heading), std::string::npos) << heading;
    }
    // The heading row only: one "<tr>" and no data cells.
    EXPECT_EQ(page.find("<tr>"), page.rfind("<tr>"));
    EXPECT_EQ(page.find("<font face=\"Tahoma\">"), std::string::npos);
    EXPECT_NE(page.find("<a href=\"" + productPageUrl("German") + "\">" +
                        std::string(kMakerSiteAddress) + "</a>"),
              std::string::npos);
    // Anything but "English" is German.
    EXPECT_EQ(htmlExportText(HotKeyTable{}, "english"), page);
}

TEST(HtmlExport, FileEncodingAndFailedWrites) {
    const fs::path dir = fs::path(::testing::TempDir()) / "html-export";
    fs::remove_all(dir);
    fs::create_directories(dir);
    HotKeyTable table;
    ASSERT_TRUE(table.append(entry("Strg+Ä", "Lautstärke regeln", "+10 € %")));
    const std::string cp = (dir / "cp.html").string();
    ASSERT_TRUE(ExportHtml(cp, table, "German"));
    EXPECT_EQ(readWholeFile(cp),
              encodeText(htmlExportText(table, "German"), TextEncoding::Windows1252));
    EXPECT_NE(readWholeFile(cp)->find("Strg+\xC4"), std::string::npos);

    table.at(0).PropertiesText = "Ω";
    ASSERT_TRUE(ExportHtml(cp, table, "German"));
    EXPECT_EQ(readWholeFile(cp)->substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(decodeText(*readWholeFile(cp)).text, htmlExportText(table, "German"));

    const FileResult failed = ExportHtml((dir / "missing" / "x.html").string(), table, "German");
    EXPECT_FALSE(failed.ok);
    EXPECT_NE(failed.error.find("x.html"), std::string::npos);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace vorbix
