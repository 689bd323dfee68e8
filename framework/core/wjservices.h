// The small framework services the shell calls: parameters (TWjPuFlag), options
// (TOptions), document numbers (TWjBhgl) and product information (TWjSoft).
#pragma once
#include "wjglobal.h"
#include "wjinifile.h"
#include <QDate>
#include <QObject>
#include <QString>
#include <memory>

class TDBAction;

// Parameters by group and name, read as text; stored in WJ_SYS_PARAM.
class WJCORE_EXPORT TWjPuFlag : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    void SetConnection(TDBAction *db) { m_db = db; }
    QString ReadValue(const QString &group, const QString &name, const QString &def = QString());
    void WriteValue(const QString &group, const QString &name, const QString &value);

private:
    TDBAction &db() const;
    TDBAction *m_db = nullptr;
};

// Options over ".\sys\WjOptions.ini".
class WJCORE_EXPORT TOptions : public QObject
{
    Q_OBJECT
public:
    explicit TOptions(QObject *parent = nullptr, const QString &fileName = QStringLiteral(".\\sys\\WjOptions.ini"));
    QString FileName;  // as the program writes it; resolved under the program folder
    void DownloadOption();  // (re)loads the file
    QString ReadOption(const QString &section, const QString &key, const QString &def = QString()) const;
    void WriteOption(const QString &section, const QString &key, const QString &value);

private:
    std::unique_ptr<TIniFile> m_ini;
};

// Document numbers per number code ("SA_LSH", "POS_BH", "IN_BH", ...), stored in
// WJ_SYS_BH: prefix + date part (restarting daily when the code has one) + sequence.
// GetBH shows the next number without using it up; UPdateBH uses it up; TakeBH does
// both in one atomic step, for callers that must never share a number.
class WJCORE_EXPORT TWjBhgl : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    void SetConnection(TDBAction *db) { m_db = db; }
    QString GetBH(const QString &code);
    void UPdateBH(const QString &code);
    QString TakeBH(const QString &code);
    QDate Today;  // the date numbers are made for; invalid means today

private:
    struct Rule { QString prefix, dateFmt; int seqLen = 4; QString curDate; qint64 curNo = 0; };
    Rule rule(const QString &code);
    QString format(const Rule &r, const QString &datePart, qint64 no) const;
    QString datePart(const Rule &r) const;
    TDBAction &db() const;
    TDBAction *m_db = nullptr;
};

// Product information.
class WJCORE_EXPORT TWjSoft : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    static QString ProductTitle() { return QStringLiteral("维嘉汽车修配管理系统"); }
    QString Title;
    void InitSoftImformation() { Title = ProductTitle(); }
    // Makes sure the navigation file exists; false when it does not.
    bool DowmLoadOutLookParameter(const QString &navIniPath);
};

// Weekday text of a date ("星期一" ... "星期日").
WJCORE_EXPORT QString GetCurWeek(const QDate &date = QDate::currentDate());
