#pragma once

#include <QByteArray>
#include <QString>

#include <map>

namespace grayden {

// The text of an INI file that QSettings (IniFormat) reads back as exactly these string values.
// Keys are QSettings keys: "Name" lives in the [General] section, "Group/Name" in [Group].
QByteArray formatIniText(const std::map<QString, QString>& values);

// The INI text with these top-level string values set and every other byte kept: entries of
// other keys and sections, comments, lists and typed values stay exactly as they were. A key
// already present is rewritten where it stands; a new one joins the last top-level section, or
// a [General] section put first.
QByteArray updateIniText(const QByteArray& existing, const std::map<QString, QString>& topLevelValues);

}  // namespace grayden
