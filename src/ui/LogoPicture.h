#pragma once

#include "logo/LogoFiles.h"

#include <QImage>

#include <string>

namespace tillora {

class EcrIniFile;

// The logo manager's picture for the whole run: what the core knows of it (its file, colours and
// information line) and its pixels for the preview. It outlives the dialog, so that the colour
// warning of a later opening still reflects the last file loaded.
class CLogoPicture {
public:
    // Loads the bitmap file at path (UTF-8), or the built-in picture when path is empty. The old
    // picture goes first: after a failed load there is none, and the INI file keeps its path.
    bool Load(const std::string& path, EcrIniFile& ini);

    const CurrentPicture& Current() const { return m_current; }
    // Null when no picture is loaded.
    const QImage& Image() const { return m_image; }

    // The picture carried in the program's resources.
    static QImage BuiltInImage();

private:
    CurrentPicture m_current;
    QImage m_image;
};

} // namespace tillora
