// Errors of the framework. Anything a user's action cannot complete raises one of
// these; the general error report (WjApplication) shows its text in one box.
#pragma once
#include "wjglobal.h"
#include <QString>
#include <exception>

class WJCORE_EXPORT EWjError : public std::exception
{
public:
    explicit EWjError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &Message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A statement the database refused: carries the statement and the driver's text.
class WJCORE_EXPORT EWjDbError : public EWjError
{
public:
    EWjDbError(const QString &driverText, const QString &sql, const QString &code = QString())
        : EWjError(QStringLiteral("数据库操作失败：%1\n语句：%2").arg(driverText, sql)),
          m_driverText(driverText), m_sql(sql), m_code(code) {}
    // The same failure told in the user's words instead of the driver's.
    EWjDbError(const QString &message, const QString &driverText, const QString &sql, const QString &code)
        : EWjError(message), m_driverText(driverText), m_sql(sql), m_code(code) {}
    const QString &DriverText() const { return m_driverText; }
    const QString &Sql() const { return m_sql; }
    // The database's own error code ("23505" on PostgreSQL, "2067" on SQLite...).
    const QString &Code() const { return m_code; }

private:
    QString m_driverText;
    QString m_sql;
    QString m_code;
};

// An action the user ended (No to a question, cancel): unwinds quietly, shows nothing.
class WJCORE_EXPORT EWjAbort : public EWjError
{
public:
    EWjAbort() : EWjError(QString()) {}
};
