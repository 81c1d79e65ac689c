#include "launcher/GioDocumentOpener.h"

#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace grayden {

namespace {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

OpenResult resultForErrno(int error) {
    switch (error) {
    case ENOENT: return OpenResult::FileNotFound;
    case EACCES:
    case EPERM: return OpenResult::AccessDenied;
    case ENOMEM: return OpenResult::OutOfMemory;
    case ETXTBSY: return OpenResult::SharingViolation;
    default: return OpenResult::Failed;
    }
}

// The file and the default handler of its type, or why there is none.
struct Classified {
    OpenResult result = OpenResult::Failed;
    GObjectPtr<GFile> file;
    GObjectPtr<GAppInfo> handler;
};

Classified classify(const QString& path) {
    Classified found;
    const QByteArray local = path.toLocal8Bit();
    struct stat info {};
    if (::stat(local.constData(), &info) != 0 || ::access(local.constData(), R_OK) != 0) {
        found.result = resultForErrno(errno);
        return found;
    }
    found.file.reset(g_file_new_for_path(local.constData()));
    GError* error = nullptr;
    GObjectPtr<GFileInfo> fileInfo(g_file_query_info(found.file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                     G_FILE_QUERY_INFO_NONE, nullptr, &error));
    if (!fileInfo) {
        g_clear_error(&error);
        return found;
    }
    const gchar* contentType = g_file_info_get_content_type(fileInfo.get());
    // GIO folds a type's aliases together, in mimeapps.list as in the desktop files' index, so a
    // handler declaring application/x-deb serves application/vnd.debian.binary-package.
    if (contentType) found.handler.reset(g_app_info_get_default_for_type(contentType, FALSE));
    found.result = found.handler ? OpenResult::Opened : OpenResult::NoAssociation;
    return found;
}

}  // namespace

OpenResult GioDocumentOpener::checkDocument(const QString& path) { return classify(path).result; }

OpenResult GioDocumentOpener::openDocument(const QString& path) {
    Classified found = classify(path);
    if (found.result != OpenResult::Opened) return found.result;
    // The handler is started and left to itself: nothing waits for it or ends it.
    GList files{found.file.get(), nullptr, nullptr};
    GError* error = nullptr;
    const bool launched = g_app_info_launch(found.handler.get(), &files, nullptr, &error);
    g_clear_error(&error);
    return launched ? OpenResult::Opened : OpenResult::Failed;
}

void GioDocumentOpener::openAddress(const QString& address) {
    const QByteArray uri = address.toUtf8();
    g_app_info_launch_default_for_uri(uri.constData(), nullptr, nullptr);
}

}  // namespace grayden
