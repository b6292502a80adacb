// The fields of an example record in the examples database, by their 1-based number.
#pragma once

namespace examples {

inline constexpr int kFileNameField = 1;     // text: the name it is written under
inline constexpr int kRelatedApisField = 2;  // text: English entry names, each followed by "/"
inline constexpr int kSourceField = 3;       // byte set: the E source file, whole

}  // namespace examples
