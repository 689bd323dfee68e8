#include "wjoutlookbar.h"
#include "wjinifile.h"
#include "wjpath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QScrollArea>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>

TWjOutlookBar::TWjOutlookBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mxOutlookBarPro1"));
    setFixedWidth(BarWidth);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    m_box = new QToolBox(this);
    m_box->setObjectName(QStringLiteral("outlookHeaders"));
    lay->addWidget(m_box);
    SetBarColor(QColor(0x6F, 0x8F, 0xBF));
}

QString TWjOutlookBar::NavFileProblem(const QString &navIniPath)
{
    const QFileInfo fi(navIniPath);
    const QString f = QDir::toNativeSeparators(navIniPath);
    if (!fi.exists())
        return QStringLiteral("找不到导航文件“%1”，导航栏是空的。请从安装盘或备份中恢复该文件后重新启动程序。").arg(f);
    QFile file(navIniPath);
    if (!fi.isFile() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("无法读取导航文件“%1”，导航栏是空的。请检查该文件是否存在、是否允许读取。").arg(f);
    const TIniFile ini(navIniPath);
    for (const auto &h : ini.ReadSectionValues(QStringLiteral("导航栏")))
        for (const auto &it : ini.ReadSectionValues(QStringLiteral("分组:") + h.second.trimmed()))
            if (!it.second.trimmed().isEmpty())
                return {};
    return QStringLiteral("导航文件“%1”中没有任何导航项目（文件可能已损坏），导航栏是空的。请从安装盘或备份中恢复该文件。").arg(f);
}

void TWjOutlookBar::InitOutLook(const QString &navIniPath, const QString &iconDir)
{
    while (m_box->count() > 0) {
        QWidget *w = m_box->widget(0);
        m_box->removeItem(0);
        delete w;
    }
    m_items.clear();
    const TIniFile ini(navIniPath);
    const auto headers = ini.ReadSectionValues(QStringLiteral("导航栏"));
    for (const auto &h : headers) {
        const QString header = h.second.trimmed();
        if (header.isEmpty())
            continue;
        QStringList items;
        for (const auto &it : ini.ReadSectionValues(QStringLiteral("分组:") + header))
            if (!it.second.trimmed().isEmpty())
                items << it.second.trimmed();

        auto *area = new QScrollArea;
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(true);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("outlookPage"));
        auto *pl = new QVBoxLayout(page);
        pl->setContentsMargins(4, 6, 4, 6);
        pl->setSpacing(6);
        const int headerIndex = m_box->count();
        for (const QString &caption : std::as_const(items)) {
            auto *b = new QToolButton(page);
            b->setObjectName(QStringLiteral("item:") + caption);
            b->setText(caption);
            b->setToolTip(caption);
            b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            b->setAutoRaise(true);
            b->setIconSize(QSize(32, 32));
            b->setMinimumSize(60, 60);
            b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            QString icon = ini.ReadString(caption, QStringLiteral("ICON"));
            if (!icon.isEmpty()) {
                const QString file = WjPath::Resolve(iconDir, icon);
                if (QFileInfo::exists(file))
                    b->setIcon(QIcon(file));
            }
            connect(b, &QToolButton::clicked, this, [this, headerIndex, caption] { emit ItemClicked(headerIndex, caption); });
            pl->addWidget(b, 0, Qt::AlignHCenter);
        }
        pl->addStretch(1);
        area->setWidget(page);
        m_box->addItem(area, header);
        m_items << items;
    }
    SetBarColor(m_color);
}

int TWjOutlookBar::HeaderCount() const { return m_box->count(); }
QString TWjOutlookBar::HeaderCaption(int index) const { return m_box->itemText(index); }
QStringList TWjOutlookBar::Items(int header) const { return m_items.value(header); }
int TWjOutlookBar::CurrentHeader() const { return m_box->currentIndex(); }

void TWjOutlookBar::SetCurrentHeader(int index)
{
    if (index >= 0 && index < m_box->count())
        m_box->setCurrentIndex(index);
}

QToolButton *TWjOutlookBar::ItemButton(const QString &caption) const
{
    return findChild<QToolButton *>(QStringLiteral("item:") + caption);
}

void TWjOutlookBar::SetBarColor(const QColor &c)
{
    m_color = c;
    const QColor text = c.lightness() < 110 ? QColor(Qt::white) : QColor(0x10, 0x10, 0x10);
    const QColor page = c.darker(115);
    const QColor itemText = page.lightness() < 140 ? QColor(Qt::white) : QColor(0x10, 0x10, 0x10);
    setStyleSheet(QStringLiteral(
        "QToolBox::tab { background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 %1, stop:1 %2);"
        "  border: 1px solid %3; border-radius: 2px; color: %4; font-weight: bold; padding-left: 4px; min-height: 22px; }"
        "QToolBox::tab:selected { background: qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 %2, stop:1 %1); }"
        "QScrollArea, #outlookPage { background: %5; }"
        "QToolButton { color: %6; border: 1px solid transparent; border-radius: 3px; padding: 2px; }"
        "QToolButton:hover { border: 1px solid %3; background: %7; }"
        "QToolButton:pressed { background: %3; }")
        .arg(c.lighter(125).name(), c.name(), c.darker(140).name(), text.name(),
             page.name(), itemText.name(), c.lighter(110).name()));
}
