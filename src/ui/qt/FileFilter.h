#pragma once
// The file dialogs take filters as pairs of description and patterns separated by "|"
// ("Text Files (*.txt)|*.txt|All Files (*.*)|*.*"); Qt takes one "Description (patterns)" entry
// per filter. "*.*" means every file, with or without an extension.
#include <QString>
#include <QStringList>

namespace vel {

QStringList qtNameFilters(const QString& pairedFilter);

}  // namespace vel
