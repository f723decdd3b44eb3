#include "ui/base/Resources.h"

#include <QtGlobal>

QString SkinBitmapPath(int nNumber) { return QStringLiteral(":/skin/%1.png").arg(nNumber); }

void InitPelmorixResources()
{
    static const bool bDone = [] {
        Q_INIT_RESOURCE(pelmorix);
        return true;
    }();
    Q_UNUSED(bDone);
}
