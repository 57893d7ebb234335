#pragma once

#include <QString>

// A surname or first name as the pupil sheet stores it: the letters A to Z
// in lower case, then a first letter a to z in upper case. Accented letters
// are left as they are ("ÉLOÏSE" gives "ÉloÏse").
QString NormaliseName(QString name);
