#pragma once

#include <QString>

// Who a remark is written for.
struct TRemarkPupil {
    QString Surname;
    QString Name;
    QString Sexe; // one of SexeValues(), letter case ignored; anything else is not known
};

// The remark with its fields filled in for the pupil:
// - "{prénom}" and "{nom}" (also "{prenom}"): the first name and the
//   surname; "{Prénom}" puts a capital on the first letter, "{PRÉNOM}" the
//   whole name in capitals; a field whose value is empty stays as written,
//   so that the teacher sees it;
// - "{masculin/féminin}", any pair such as "{il/elle}", "{Il/Elle}" or
//   "{attentif/attentive}": the first form for "Garçon", the second for
//   "Fille"; when the sex is not known, both joined with "·" in the usual
//   short form: the feminine ending after the common start ("attentif·ve",
//   "content·e", "sérieux·se"), or the whole feminine form when the two
//   share too little ("il·elle", "Il·elle", "beau·belle");
// - anything else between braces stays as written.
QString AgreeRemark(const QString& remark, const TRemarkPupil& pupil);

// "attentif" and "attentive" for a pupil whose sex is not known.
QString JoinedForms(const QString& masculine, const QString& feminine);
