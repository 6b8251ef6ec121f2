#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

namespace zavevad {

/// A failure the user must see: it ends the current command, and the one
/// handler around every command (runCommand) shows the message in a message
/// box. Core code may throw it; it has no widget dependency.
class CommandError : public std::exception
{
public:
    explicit CommandError(QString message)
        : m_message(std::move(message)), m_what(m_message.toUtf8())
    { }

    /// The text shown to the user, exactly as given.
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_what.constData(); }

private:
    QString m_message;
    QByteArray m_what;
};

} // namespace zavevad
