#pragma once

#include <QByteArray>
#include <QString>

#include <map>

namespace grayden {

// The text of an INI file that QSettings (IniFormat) reads back as exactly these string values.
// Keys are QSettings keys: "Name" lives in the [General] section, "Group/Name" in [Group].
QByteArray formatIniText(const std::map<QString, QString>& values);

}  // namespace grayden
