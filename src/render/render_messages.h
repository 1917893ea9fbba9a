#pragma once
// The main window's panel messages, word for word as the user sees them.

#include <cstdint>
#include <string_view>

#include "render/field_view.h"

namespace dorvak::msg {

inline constexpr std::string_view LineTooLong = "Line:  Too long text !";
inline constexpr std::string_view DestinationTooLong = "Destination:  Too long text !";
inline constexpr std::string_view StopTooLong = "Stop:  Too long text !";
inline constexpr std::string_view DestinationDoesNotExist = "Destination $ don't exist";
inline constexpr std::string_view StopDoesNotExist = "Stop $ don't exist";

constexpr std::string_view tooLongWarning(FieldId fieldId) {
  return fieldId == FieldId::Line ? LineTooLong : fieldId == FieldId::Destination ? DestinationTooLong : StopTooLong;
}

}  // namespace dorvak::msg
