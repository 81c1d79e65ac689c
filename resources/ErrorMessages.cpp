#include "resources/ErrorMessages.h"

#include "resources/StringIds.h"

namespace grayden {

int sessionMessageId(SessionError error) {
    switch (error) {
    case SessionError::None: return 0;
    case SessionError::NoMonitor: return MsgNoMonitor;
    case SessionError::Calibrated: return MsgAlreadyCalibrated;
    case SessionError::WriteFailed: return MsgWriteFailed;
    case SessionError::Busy: return MsgMonitorBusy;
    // Without a bound monitor the first exchange, a read, is the one that fails.
    case SessionError::ReadFailed:
    case SessionError::Gone: return MsgReadFailed;
    }
    return 0;
}

int toneFileMessageId(ToneFileError error) {
    switch (error) {
    case ToneFileError::None: return 0;
    case ToneFileError::CannotOpen: return MsgCannotOpenFile;
    case ToneFileError::InvalidContents: return MsgInvalidFileContents;
    }
    return 0;
}

int gsdfMessageId(GsdfError error) {
    switch (error) {
    case GsdfError::None: return 0;
    case GsdfError::LuminanceOutOfRange: return MsgGsdfLuminanceRange;
    case GsdfError::LuminanceOrder: return MsgGsdfLuminanceOrder;
    case GsdfError::AmbientNegative: return MsgGsdfAmbientNegative;
    case GsdfError::PanelGammaOutOfRange: return MsgGsdfPanelGammaRange;
    case GsdfError::CannotReadMeasurements: return MsgMeasurementsUnreadable;
    case GsdfError::MeasurementSyntax: return MsgMeasurementSyntax;
    case GsdfError::LevelOutOfRange: return MsgMeasurementLevelRange;
    case GsdfError::LevelNotIncreasing: return MsgMeasurementLevelOrder;
    case GsdfError::LuminanceNotPositive: return MsgMeasurementLuminance;
    case GsdfError::TooFewMeasurements: return MsgMeasurementTooFew;
    case GsdfError::ResponseDecreasing: return MsgMeasurementDecreasing;
    case GsdfError::ResponseFlat: return MsgMeasurementFlat;
    case GsdfError::OutsideGsdfRange: return MsgMeasurementOutsideGsdf;
    case GsdfError::TargetOutsideMeasured: return MsgGsdfTargetOutsideMeasured;
    }
    return 0;
}

bool gsdfMessageNamesLine(GsdfError error) {
    switch (error) {
    case GsdfError::MeasurementSyntax:
    case GsdfError::LevelOutOfRange:
    case GsdfError::LevelNotIncreasing:
    case GsdfError::LuminanceNotPositive:
    case GsdfError::ResponseDecreasing:
    case GsdfError::OutsideGsdfRange: return true;
    default: return false;
    }
}

int unreadableReasonId(const GsdfProblem& problem) {
    switch (problem.readError) {
    case FileReadError::NotRegularFile: return FileNotRegular;
    case FileReadError::TooLarge: return ReasonMeasurementFileTooLarge;
    default: return 0;
    }
}

int fileFailureReasonId(const FileFailure& failure) {
    switch (failure.cause) {
    case FileFailure::Cause::NotRegularFile: return FileNotRegular;
    case FileFailure::Cause::TooLarge: return FileTooLarge;
    case FileFailure::Cause::System: return 0;
    }
    return 0;
}

}  // namespace grayden
