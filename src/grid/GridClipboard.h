#pragma once

#include <QString>

#include <string>

namespace tillora {

// The system clipboard as the grid uses it: plain Unicode text, the grid's Windows-1251 texts
// converted at this edge.
void PutClipboardText(const std::string& text);
QString ClipboardText();
bool ClipboardHasText();

} // namespace tillora
