#pragma once

#include <QString>

namespace grayden {

// How handing a document to its associated program ended; every failure has its own message.
enum class OpenResult { Opened, FileNotFound, AccessDenied, OutOfMemory, SharingViolation, NoAssociation, Failed };

// The desktop's document opening: a file goes to the program associated with its type, an
// address to the web browser. Neither waits for the program it starts.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // What opening the document would meet, without starting anything: Opened when it exists,
    // is readable and its type has a handler.
    virtual OpenResult checkDocument(const QString& path) = 0;
    virtual OpenResult openDocument(const QString& path) = 0;
    // Whatever happens to the address is the desktop's business; nothing is reported.
    virtual void openAddress(const QString& address) = 0;
};

}  // namespace grayden
