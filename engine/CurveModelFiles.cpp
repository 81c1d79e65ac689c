#include <cerrno>

#include "engine/CurveModel.h"
#include "platform/FileSave.h"

namespace grayden {

ToneFileError CurveModel::loadToneFile(const std::string& path, FileFailure& failure) {
    ToneTable loaded{};
    FileReadError readError = FileReadError::None;
    const ToneFileError error = readToneFile(path, loaded, readError);
    const int systemError = errno;
    if (error != ToneFileError::None) {
        failure = FileFailure::ofRead(path, readError, systemError);
        return error;
    }
    installTable(loaded);
    filePath_ = path;
    previewIfOn();
    return ToneFileError::None;
}

ToneFileError CurveModel::openToneFile(const std::string& path, FileFailure& failure) {
    // The record stays even when the load fails; undoing it restores the unchanged table.
    pushUndo(UndoAction::Edit, currentTable_);
    return loadToneFile(path, failure);
}

bool CurveModel::saveToneFile(const std::string& path, FileFailure& failure) {
    if (!saveFile(path, formatToneText(currentTable_))) {
        failure = {path, FileFailure::Cause::System, errno};
        return false;
    }
    filePath_ = path;
    return true;
}

}  // namespace grayden
