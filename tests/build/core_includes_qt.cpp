// Compiled with the core library's include paths by the test core.refuses_qt, which expects
// the compilation to fail: core must not be able to see Qt.
#include <QString>
#include "core/shared/game_database.h"
