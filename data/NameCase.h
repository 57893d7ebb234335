#pragma once

#include <QString>

// A surname or first name in the form the records keep. A name written
// entirely in capitals or entirely in lower case gets a capital at the start
// of each part (after a blank, a hyphen or an apostrophe) and lower case
// elsewhere, accented letters included: "JEAN-BAPTISTE" gives
// "Jean-Baptiste", "d'almeida" gives "D'Almeida". A name in mixed case is
// the writer's choice and is kept exactly ("de La Fontaine", "McDonald").
QString NameForm(const QString& name);

// What a record stores of a typed or imported name: fitted to the file
// (TPData::StoredText), then given its form.
QString StoredName(const QString& typed);
