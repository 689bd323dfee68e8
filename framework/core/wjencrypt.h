// TWjEncrypt: the one-way transform of operator passwords. PBKDF2-HMAC-SHA256, salted
// with the operator's name, slow on purpose and deterministic, so that a stored value
// can be looked up with "CZYNAME=... and CZYPASSWORD=...". No plain password is ever
// stored or compared.
#pragma once
#include "wjglobal.h"
#include <QString>

class WJCORE_EXPORT TWjEncrypt
{
public:
    static constexpr int Iterations = 60000;
    // "p2$" + 64 hex digits.
    static QString GetEncryptResult(const QString &password, const QString &operatorName);
};
