// The link target of an RTF field instruction ({\*\fldinst HYPERLINK ...}).
#pragma once

#include <string>
#include <string_view>

namespace vorbix {

// The target of a HYPERLINK field instruction: HYPERLINK "address" or HYPERLINK \l "anchor"
// (address#anchor when both are given; the \o and \t switches and their arguments are left
// out). Empty for any other instruction.
std::string rtfHyperlinkTarget(std::string_view instruction);

}  // namespace vorbix
