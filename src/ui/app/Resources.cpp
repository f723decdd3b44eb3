#include "app/Resources.h"

#include <QtGlobal>

void InitPelmorixResources() { Q_INIT_RESOURCE(pelmorix); }
