// Icons by resource number. The program has one icon, resource 128; it is
// drawn here, so the program needs no image files.
#pragma once

#include <QIcon>
#include <cstdint>

inline constexpr int32_t kQtProgramIcon = 128;

// The icon of resource `resource`; a null icon for a number without one.
QIcon QtIcon(int32_t resource);
