// The skin store: eleven looks of the programs ("默认模式0", "模式1" ... "模式10"), each a
// face colour and a style sheet over the whole application.
#pragma once
#include "wjguiglobal.h"
#include <QColor>
#include <QString>

class WJGUI_EXPORT TWjSkinStore
{
public:
    static int Count();
    static QString Name(int index);
    static QColor FaceColor(int index);
    // Applies the skin to the application; an index outside the store gives skin 0.
    static void Apply(int index);
    static int Current();
    // The index that a stored skin id (decimal text, maybe empty) stands for.
    static int IndexOfId(const QString &id);
};
