// The pictures and icons compiled into the program (resources/resources.qrc). The window library
// is static, so the linker would leave them out unless something asks for them: every window
// that uses them calls InitResources first.
#pragma once

namespace kw {

void InitResources();

}  // namespace kw
