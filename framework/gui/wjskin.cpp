#include "wjskin.h"

#include <QApplication>
#include <QPalette>

namespace {
struct Skin { QColor face, accent, text; };
const Skin skins[] = {
    {QColor(0xEC, 0xE9, 0xD8), QColor(0x31, 0x6A, 0xC5), QColor(0x00, 0x00, 0x00)},  // default, XP beige
    {QColor(0xD6, 0xE4, 0xF5), QColor(0x1F, 0x4E, 0x8C), QColor(0x10, 0x20, 0x30)},  // blue
    {QColor(0xE3, 0xEF, 0xDB), QColor(0x3C, 0x7A, 0x2E), QColor(0x10, 0x28, 0x10)},  // green
    {QColor(0xE6, 0xE6, 0xE6), QColor(0x55, 0x55, 0x55), QColor(0x00, 0x00, 0x00)},  // silver
    {QColor(0xF5, 0xE6, 0xD3), QColor(0xA6, 0x5E, 0x2E), QColor(0x30, 0x18, 0x08)},  // amber
    {QColor(0xEE, 0xE1, 0xF0), QColor(0x7B, 0x3F, 0x8C), QColor(0x28, 0x10, 0x30)},  // violet
    {QColor(0xDD, 0xF0, 0xF0), QColor(0x1F, 0x7A, 0x7A), QColor(0x08, 0x28, 0x28)},  // teal
    {QColor(0xF6, 0xDE, 0xDE), QColor(0xA8, 0x2A, 0x2A), QColor(0x30, 0x08, 0x08)},  // red
    {QColor(0x3A, 0x3F, 0x47), QColor(0x5C, 0x9D, 0xE0), QColor(0xEE, 0xEE, 0xEE)},  // dark
    {QColor(0xFA, 0xF3, 0xD1), QColor(0x9C, 0x7C, 0x12), QColor(0x28, 0x20, 0x00)},  // gold
    {QColor(0xE0, 0xE8, 0xEE), QColor(0x44, 0x5C, 0x74), QColor(0x10, 0x18, 0x20)},  // slate
};
int g_current = 0;
} // namespace

int TWjSkinStore::Count() { return int(std::size(skins)); }

QString TWjSkinStore::Name(int index)
{
    if (index == 0)
        return QStringLiteral("默认模式0");
    return QStringLiteral("模式%1").arg(index);
}

QColor TWjSkinStore::FaceColor(int index)
{
    return skins[(index >= 0 && index < Count()) ? index : 0].face;
}

int TWjSkinStore::Current() { return g_current; }

int TWjSkinStore::IndexOfId(const QString &id)
{
    bool ok = false;
    const int i = id.trimmed().toInt(&ok);
    return ok && i >= 0 && i < Count() ? i : 0;
}

void TWjSkinStore::Apply(int index)
{
    if (index < 0 || index >= Count())
        index = 0;
    g_current = index;
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    const Skin &s = skins[index];
    QPalette pal;
    pal.setColor(QPalette::Window, s.face);
    pal.setColor(QPalette::Button, s.face);
    pal.setColor(QPalette::WindowText, s.text);
    pal.setColor(QPalette::ButtonText, s.text);
    pal.setColor(QPalette::Text, index == 8 ? QColor(0xEE, 0xEE, 0xEE) : QColor(Qt::black));
    pal.setColor(QPalette::Base, index == 8 ? QColor(0x2A, 0x2E, 0x34) : QColor(Qt::white));
    pal.setColor(QPalette::AlternateBase, s.face.lighter(104));
    pal.setColor(QPalette::Highlight, s.accent);
    pal.setColor(QPalette::HighlightedText, Qt::white);
    app->setPalette(pal);
    app->setStyleSheet(QStringLiteral(
        "QMenuBar { background: %1; }"
        "QStatusBar { background: %1; }"
        "QStatusBar::item { border: 1px solid %2; }"
        "QHeaderView::section { background: %3; color: %4; padding: 2px; border: 1px solid %2; }")
        .arg(s.face.name(), s.face.darker(130).name(), s.face.darker(110).name(), s.text.name()));
}
