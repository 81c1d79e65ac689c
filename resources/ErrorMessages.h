#pragma once

#include "device/MonitorSession.h"
#include "engine/FileFailure.h"
#include "engine/GsdfError.h"
#include "engine/ToneFile.h"

namespace grayden {

// The string-table message for each error the engine and the monitor session report; only the
// programs turn errors into words, and they all do it here. None gives 0.

// Every session error, Calibrated included; a caller that has said it already may stay silent.
int sessionMessageId(SessionError error);
int toneFileMessageId(ToneFileError error);
// Those naming a line carry "%d" for it.
int gsdfMessageId(GsdfError error);
// Whether the error's message names a line.
bool gsdfMessageNamesLine(GsdfError error);
// The reason why a measurement file could not be read, or 0 when the system's own text for
// problem.systemError says it.
int unreadableReasonId(const GsdfProblem& problem);
// Why a tone file could not be opened or saved, or 0 when the system's own text says it.
int fileFailureReasonId(const FileFailure& failure);

}  // namespace grayden
