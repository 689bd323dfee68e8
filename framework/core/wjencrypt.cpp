#include "wjencrypt.h"
#include "wjerror.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <sodium.h>

namespace {
// Argon2id at libsodium's "interactive" cost: 64 MiB and two passes per check.
const unsigned long long kOps = crypto_pwhash_OPSLIMIT_INTERACTIVE;
const size_t kMem = crypto_pwhash_MEMLIMIT_INTERACTIVE;

void initSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw EWjError(QStringLiteral("密码库初始化失败。"));
}
} // namespace

QString TWjEncrypt::HashPassword(const QString &password)
{
    initSodium();
    const QByteArray pw = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, pw.constData(), quint64(pw.size()), kOps, kMem) != 0)
        throw EWjError(QStringLiteral("无法计算密码（内存不足），密码没有修改。"));
    return QString::fromLatin1(out);
}

bool TWjEncrypt::VerifyPassword(const QString &stored, const QString &password, const QString &operatorName,
                                bool *needsRehash)
{
    if (needsRehash)
        *needsRehash = false;
    if (stored.startsWith(QLatin1String("p2$"))) {
        const bool ok = stored == GetEncryptResult(password, operatorName);
        if (needsRehash)
            *needsRehash = ok;
        return ok;
    }
    if (!stored.startsWith(QLatin1String("$argon2")))
        return false;
    initSodium();
    const QByteArray s = stored.toLatin1();
    const QByteArray pw = password.toUtf8();
    if (s.size() >= crypto_pwhash_STRBYTES || crypto_pwhash_str_verify(s.constData(), pw.constData(), quint64(pw.size())) != 0)
        return false;
    if (needsRehash)
        *needsRehash = crypto_pwhash_str_needs_rehash(s.constData(), kOps, kMem) != 0;
    return true;
}

QString TWjEncrypt::GetEncryptResult(const QString &password, const QString &operatorName)
{
    const QByteArray salt = QByteArrayLiteral("wj-czy:") + operatorName.toUtf8();
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(),
                                                              salt, LegacyIterations, 32);
    return QStringLiteral("p2$") + QString::fromLatin1(key.toHex());
}
