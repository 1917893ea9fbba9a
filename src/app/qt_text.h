#pragma once
// The one bridge between the library's UTF-8 byte strings and Qt's strings.

#include <QString>
#include <string>
#include <string_view>

namespace dorvak {

inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string utf8(const QString& s) { return s.toStdString(); }

}  // namespace dorvak
