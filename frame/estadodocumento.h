#pragma once

// The state of one slot of the document list. Flags are 16-bit: true -1,
// false 0.

#include <QtGlobal>

namespace frame {

inline constexpr qint16 kVerdadero = -1;
inline constexpr qint16 kFalso = 0;

struct estado_documento {
    qint16 borrado = kFalso;     // the slot is free: its window was closed
    qint16 modificado = kFalso;  // the text changed since it was last saved
};

}  // namespace frame
