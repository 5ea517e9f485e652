#pragma once
// Typed per-user values under a key path, in the manner of the Windows registry: a predefined
// root, a key path of names separated by "\", and named values of type REG_SZ, REG_DWORD or
// REG_BINARY. The values live in one hand-editable file under the user's configuration folder
// (see storageFile()); key and value names match in any letter case. Every operation reads the
// file afresh, and every change saves it atomically.
#include <QString>
#include <QStringList>
#include <QVariant>

namespace vel {

// The predefined roots, with their Windows handle values.
enum RegistryRoot : quint32 {
    HKEY_CLASSES_ROOT = 0x80000000,
    HKEY_CURRENT_USER = 0x80000001,
    HKEY_LOCAL_MACHINE = 0x80000002,
    HKEY_USERS = 0x80000003,
};

// The value types that the class reads and writes, with their Windows numbers.
enum RegistryType : qint32 {
    REG_SZ = 1,
    REG_BINARY = 3,
    REG_DWORD = 4,
};

class Registry {
  public:
    // A new object addresses the root of HKEY_LOCAL_MACHINE.
    Registry() = default;
    Registry(RegistryRoot root, const QString& keyName);

    RegistryRoot Root() const;
    void setRoot(RegistryRoot root);
    QString KeyName() const;
    void setKeyName(const QString& keyName);

    // Reads a value of KeyName under Root. A missing or unreadable value raises run-time
    // error 5 (RuntimeError::invalidCall).
    QString StringValue(const QString& valueName) const;
    qint32 LongValue(const QString& valueName) const;

    // Writes a REG_SZ or REG_DWORD value, creating the key when needed; false when the file
    // could not be read or saved.
    bool SetStringValue(const QString& valueName, const QString& text);
    bool SetLongValue(const QString& valueName, qint32 number);

    // Whether KeyName exists under Root.
    bool OpenKey() const;
    // The names of the direct sub-keys of KeyName, sorted in any letter case.
    QStringList EnumKey() const;
    // Typed read: REG_SZ gives text, REG_DWORD and REG_BINARY a 32-bit number, and the status is
    // 0; any other type gives status -1 and leaves value unchanged. A missing or unreadable value
    // raises run-time error 5.
    qint32 QueryValueEx(const QString& valueName, QVariant& value) const;
    // Deletes KeyName with all its sub-keys and values; false when it does not exist, when it is
    // a root itself, or when the file could not be saved.
    bool DeleteKey();

    // The file that holds the values: the injected one, else "velmor/registry.reg" in the
    // user's configuration folder ($XDG_CONFIG_HOME, normally ~/.config).
    static QString storageFile();
    // Sets the file for this process (tests use a temporary one); empty restores the default.
    static void setStorageFile(const QString& path);

    // Places bar of the file dialogs, used around an open or save dialog in this order:
    // Creates or opens the key TorvaneSoftware_Velmor under HKEY_CURRENT_USER and redirects
    // HKEY_CURRENT_USER of this process to it; false (and no redirection) when that fails.
    static bool redirectCurrentUser();
    // Under the redirected root, sets the REG_DWORD NoPlacesBar of the file dialog policies to
    // 1; false when HKEY_CURRENT_USER is not redirected or the value could not be stored.
    static bool suppressPlacesBar();
    // Removes the redirection and deletes TorvaneSoftware_Velmor with all its sub-keys; false
    // when there was no redirection to remove (then nothing is deleted) or the delete failed.
    static bool restoreCurrentUser();
    // Whether the file dialog is to open without its places bar: NoPlacesBar of the file dialog
    // policies, read under HKEY_CURRENT_USER as redirected at this moment, is not 0.
    static bool placesBarSuppressed();
    static bool currentUserRedirected();

  private:
    // The key's full path in the file ("HKEY_CURRENT_USER\Software\..."), with the
    // redirection of HKEY_CURRENT_USER applied; empty for an unknown root.
    QString keyPath() const;
    // Creates KeyName under Root when it does not exist yet.
    bool createKey();

    RegistryRoot root_ = HKEY_LOCAL_MACHINE;
    QString keyName_;
};

}  // namespace vel
