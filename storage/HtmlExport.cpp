#include "storage/HtmlExport.h"

#include "storage/TextCodec.h"

namespace vorbix {

namespace {

void line(std::string& out, std::string_view text) {
    out += text;
    out += "\r\n";
}

void cell(std::string& out, std::string_view width, std::string_view text) {
    out += "<td width=\"";
    out += width;
    out += "\" align=\"center\"><font face=\"Tahoma\">";
    out += escapeHtml(text);
    out += "</font></td>\r\n";
}

void heading(std::string& out, std::string_view width, std::string_view text) {
    out += "<td width=\"";
    out += width;
    out += "\" align=\"center\"><b>\r\n<font face=\"Tahoma\" style=\"font-size: 12pt\">";
    out += text;
    out += "</font></b></td>\r\n";
}

}  // namespace

std::string escapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string htmlExportText(const HotKeyTable& table, std::string_view language,
                           const HtmlLinkEndpoints& link) {
    const bool english = language == "English";
    std::string out;
    line(out, "<html>");
    line(out, "<head>");
    line(out, english ? "<title>Hot Keys</title>" : "<title>Hot Key-Verteilung</title>");
    line(out, "</head>");
    line(out, "<body>");
    line(out, "<table border=\"0\" width=\"100%\">");
    line(out, "<tr>");
    heading(out, "25%", english ? "ShortCut" : "Tastenkombination");
    heading(out, "30%", english ? "Action" : "Aktion");
    heading(out, "45%", english ? "Properties" : "Eigenschaften");
    line(out, "</tr>");
    for (const HotKeyEntry& row : table.rows()) {
        line(out, "<tr>");
        cell(out, "25%", row.HotKeyText);
        cell(out, "30%", row.ActionText);
        cell(out, "45%", row.PropertiesText);
        line(out, "</tr>");
    }
    line(out, "</table>");
    line(out, "<p><font face=\"Tahoma\" style=\"font-size: 12pt\">created by Vorbix (<a href=\"" +
                  escapeHtml(link.target) + "\">" + escapeHtml(link.text) + "</a>)</font></p>");
    line(out, "</body>");
    line(out, "</html>");
    return out;
}

FileResult ExportHtml(const std::string& path, const HotKeyTable& table, std::string_view language,
                      const HtmlLinkEndpoints& link) {
    return writeFileAtomically(
        path, encodeText(htmlExportText(table, language, link), TextEncoding::Windows1252));
}

}  // namespace vorbix
