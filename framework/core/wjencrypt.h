// TWjEncrypt: the one-way transform of operator passwords.
//
// A password is stored as libsodium's Argon2id string ("$argon2id$v=19$m=...,t=...,
// p=...$salt$hash"): a random salt per password and the cost parameters travel with the
// hash, so a stored value can only be checked, never looked up or compared in SQL.
// Values of the earlier scheme ("p2$" + PBKDF2-HMAC-SHA256 salted with the operator's
// name) still verify; the session replaces them at the next successful login.
// No plain password is ever stored or compared.
#pragma once
#include "wjglobal.h"
#include <QString>

class WJCORE_EXPORT TWjEncrypt
{
public:
    // A new stored value for `password` (random salt; raises EWjError when the library
    // cannot hash, e.g. out of memory).
    static QString HashPassword(const QString &password);
    // True when `password` is the one `stored` was made from. `needsRehash` is set when
    // the value is of the earlier scheme or of weaker parameters than HashPassword uses.
    static bool VerifyPassword(const QString &stored, const QString &password, const QString &operatorName,
                               bool *needsRehash = nullptr);
    // The earlier scheme's value, kept to verify passwords stored by older versions.
    static constexpr int LegacyIterations = 60000;
    static QString GetEncryptResult(const QString &password, const QString &operatorName);
};
