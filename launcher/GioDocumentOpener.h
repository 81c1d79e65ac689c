#pragma once

#include "launcher/DocumentOpener.h"

namespace grayden {

// Opens documents through GIO, the library the desktop itself uses for its associations
// (mimeapps.list and the .desktop files of XDG_DATA_HOME and XDG_DATA_DIRS). Missing and
// unreadable files and types without a handler are told apart before anything is started.
class GioDocumentOpener : public DocumentOpener {
public:
    OpenResult checkDocument(const QString& path) override;
    OpenResult openDocument(const QString& path) override;
    void openAddress(const QString& address) override;
};

}  // namespace grayden
