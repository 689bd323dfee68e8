#include "wjencrypt.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>

QString TWjEncrypt::GetEncryptResult(const QString &password, const QString &operatorName)
{
    const QByteArray salt = QByteArrayLiteral("wj-czy:") + operatorName.toUtf8();
    const QByteArray key = QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(),
                                                              salt, Iterations, 32);
    return QStringLiteral("p2$") + QString::fromLatin1(key.toHex());
}
