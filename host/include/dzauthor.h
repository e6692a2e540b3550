#pragma once

#include <QString>

// The user as content author.
class DzAuthor {
public:
    DzAuthor() = default;
    explicit DzAuthor(const QString& name, const QString& email = QString())
        : _name(name), _email(email) {}

    QString getName() const { return _name; }
    QString getEmail() const { return _email; }
    bool isValid() const { return !_name.isEmpty(); }

private:
    QString _name;
    QString _email;
};
