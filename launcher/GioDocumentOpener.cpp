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

}  // namespace

OpenResult GioDocumentOpener::openDocument(const QString& path) {
    const QByteArray local = path.toLocal8Bit();
    struct stat info {};
    if (::stat(local.constData(), &info) != 0) return resultForErrno(errno);
    if (::access(local.constData(), R_OK) != 0) return resultForErrno(errno);

    GObjectPtr<GFile> file(g_file_new_for_path(local.constData()));
    GError* error = nullptr;
    GObjectPtr<GFileInfo> fileInfo(
        g_file_query_info(file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE, G_FILE_QUERY_INFO_NONE, nullptr, &error));
    if (!fileInfo) {
        g_clear_error(&error);
        return OpenResult::Failed;
    }
    const gchar* contentType = g_file_info_get_content_type(fileInfo.get());
    if (!contentType) return OpenResult::NoAssociation;
    // GIO folds a type's aliases together, in mimeapps.list as in the desktop files' index, so a
    // handler declaring application/x-deb serves application/vnd.debian.binary-package.
    GObjectPtr<GAppInfo> handler(g_app_info_get_default_for_type(contentType, FALSE));
    if (!handler) return OpenResult::NoAssociation;

    GList files{file.get(), nullptr, nullptr};
    const bool launched = g_app_info_launch(handler.get(), &files, nullptr, &error);
    g_clear_error(&error);
    return launched ? OpenResult::Opened : OpenResult::Failed;
}

void GioDocumentOpener::openAddress(const QString& address) {
    const QByteArray uri = address.toUtf8();
    g_app_info_launch_default_for_uri(uri.constData(), nullptr, nullptr);
}

}  // namespace grayden
