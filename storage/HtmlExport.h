// The HTML listing of the hot key table: a fixed frame of lines with one table row per hot key,
// headings in the interface language, and a closing line that links to the product's page.
#pragma once

#include <string>
#include <string_view>

#include "core/Endpoints.h"
#include "core/HotKeyTable.h"
#include "storage/AtomicFile.h"

namespace vorbix {

// Replaces "&", "<", ">" and '"' by their character references, so row texts show as typed.
std::string escapeHtml(std::string_view text);

// The page (UTF-8, lines ending in CR LF) for the table; `language` "English" gives the English
// title and headings, anything else the German ones.
std::string htmlExportText(const HotKeyTable& table, std::string_view language,
                           const HtmlLinkEndpoints& link = {});

// Writes the page atomically, in Windows-1252 when every character fits, otherwise as UTF-8 with
// a byte-order mark. On failure the previous file stays and the system's message is returned.
FileResult ExportHtml(const std::string& path, const HotKeyTable& table, std::string_view language,
                      const HtmlLinkEndpoints& link = {});

}  // namespace vorbix
