#include "engine/CurveModel.h"
#include "engine/FileSave.h"
#include "engine/ToneFile.h"
#include "resources/StringIds.h"

namespace grayden {

bool CurveModel::LoadToneFile(const std::string& path) {
    ToneTable loaded{};
    switch (readToneFile(path, loaded)) {
    case ToneFileError::CannotOpen:
        owner_.showMessage(MsgCannotOpenFile);
        return false;
    case ToneFileError::InvalidContents:
        owner_.showMessage(MsgInvalidFileContents);
        return false;
    case ToneFileError::None:
        break;
    }
    sourceTable = loaded;
    InstallSourceTable();
    filePath = path;
    previewIfOn();
    return true;
}

bool CurveModel::SaveToneFile(const std::string& path) {
    if (!saveFile(path, formatToneText(currentTable))) {
        owner_.showMessage(MsgCannotOpenFile);
        return false;
    }
    filePath = path;
    return true;
}

bool CurveModel::OpenToneFile(const std::string& path) {
    // The record stays even when the load fails; undoing it restores the unchanged table.
    PushUndo(currentTable, previewOn, false, true);
    return LoadToneFile(path);
}

}  // namespace grayden
