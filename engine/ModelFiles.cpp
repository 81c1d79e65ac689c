#include "engine/CurveModel.h"

#include <cerrno>

#include "engine/ToneFile.h"
#include "platform/FileSave.h"

namespace grayden {

bool CurveModel::loadToneFile(const std::string& path) {
    ToneTable loaded{};
    FileReadError readError = FileReadError::None;
    const ToneFileError error = readToneFile(path, loaded, readError);
    const int systemError = errno;
    if (error != ToneFileError::None) {
        owner_.toneFileFailed(error, FileFailure::ofRead(path, readError, systemError));
        return false;
    }
    sourceTable = loaded;
    installSourceTable();
    filePath = path;
    previewIfOn();
    return true;
}

bool CurveModel::saveToneFile(const std::string& path) {
    if (!saveFile(path, formatToneText(currentTable))) {
        owner_.toneFileFailed(ToneFileError::CannotOpen, {path, FileFailure::Cause::System, errno});
        return false;
    }
    filePath = path;
    return true;
}

bool CurveModel::openToneFile(const std::string& path) {
    // The record stays even when the load fails; undoing it restores the unchanged table.
    pushUndo(currentTable, {.sendToMonitor = previewOn, .rebuild = true});
    return loadToneFile(path);
}

}  // namespace grayden
