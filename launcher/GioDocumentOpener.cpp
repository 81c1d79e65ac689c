#include "launcher/GioDocumentOpener.h"

#include <dlfcn.h>
#include <gio/gio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace grayden {

namespace {

// GIO and its dependencies are loaded when the first document or address is opened, not at
// every start of the launcher, most of which open nothing.
struct GioFunctions {
    decltype(&::g_object_unref) objectUnref = nullptr;
    decltype(&::g_clear_error) clearError = nullptr;
    decltype(&::g_file_new_for_path) fileNewForPath = nullptr;
    decltype(&::g_file_query_info) fileQueryInfo = nullptr;
    decltype(&::g_file_info_get_content_type) fileInfoGetContentType = nullptr;
    decltype(&::g_app_info_get_default_for_type) appInfoGetDefaultForType = nullptr;
    decltype(&::g_app_info_launch) appInfoLaunch = nullptr;
    decltype(&::g_app_info_launch_default_for_uri) appInfoLaunchDefaultForUri = nullptr;
};

template <typename Function>
bool resolve(void* library, const char* name, Function& out) {
    out = reinterpret_cast<Function>(::dlsym(library, name));
    return out != nullptr;
}

GioFunctions loadGio() {
    // The library stays loaded for the life of the process; dlsym on it also finds GObject's and
    // GLib's functions, which it depends on.
    void* library = ::dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    GioFunctions f;
    if (!library) return f;
    const bool all = resolve(library, "g_object_unref", f.objectUnref) &&
                     resolve(library, "g_clear_error", f.clearError) &&
                     resolve(library, "g_file_new_for_path", f.fileNewForPath) &&
                     resolve(library, "g_file_query_info", f.fileQueryInfo) &&
                     resolve(library, "g_file_info_get_content_type", f.fileInfoGetContentType) &&
                     resolve(library, "g_app_info_get_default_for_type", f.appInfoGetDefaultForType) &&
                     resolve(library, "g_app_info_launch", f.appInfoLaunch) &&
                     resolve(library, "g_app_info_launch_default_for_uri", f.appInfoLaunchDefaultForUri);
    return all ? f : GioFunctions{};
}

// Null when GIO cannot be loaded.
const GioFunctions* gio() {
    static const GioFunctions functions = loadGio();
    return functions.objectUnref ? &functions : nullptr;
}

struct GObjectUnref {
    void operator()(gpointer object) const { gio()->objectUnref(object); }
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
    const GioFunctions* g = gio();
    if (!g) return found;
    found.file.reset(g->fileNewForPath(local.constData()));
    GError* error = nullptr;
    GObjectPtr<GFileInfo> fileInfo(g->fileQueryInfo(found.file.get(), G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE,
                                                    G_FILE_QUERY_INFO_NONE, nullptr, &error));
    if (!fileInfo) {
        g->clearError(&error);
        return found;
    }
    const gchar* contentType = g->fileInfoGetContentType(fileInfo.get());
    // GIO folds a type's aliases together, in mimeapps.list as in the desktop files' index, so a
    // handler declaring application/x-deb serves application/vnd.debian.binary-package.
    if (contentType) found.handler.reset(g->appInfoGetDefaultForType(contentType, FALSE));
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
    const bool launched = gio()->appInfoLaunch(found.handler.get(), &files, nullptr, &error);
    gio()->clearError(&error);
    return launched ? OpenResult::Opened : OpenResult::Failed;
}

void GioDocumentOpener::openAddress(const QString& address) {
    const GioFunctions* g = gio();
    if (!g) return;
    const QByteArray uri = address.toUtf8();
    g->appInfoLaunchDefaultForUri(uri.constData(), nullptr, nullptr);
}

}  // namespace grayden
