#include "app/resources.h"

#include <QtCore/qglobal.h>

void dorvakInitResources() { Q_INIT_RESOURCE(resources); }
