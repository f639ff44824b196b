#include "ui/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitKestrelwingResources() {
  Q_INIT_RESOURCE(resources);
}

namespace kw {

void InitResources() {
  static const bool done = [] {
    InitKestrelwingResources();
    return true;
  }();
  (void)done;
}

}  // namespace kw
