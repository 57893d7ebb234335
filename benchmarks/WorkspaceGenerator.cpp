#include "benchmarks/WorkspaceGenerator.h"

#include <QDate>

namespace {

// A school report's subjects: each group is a heading and what it evaluates.
const QList<QStringList>& SubjectGroups() {
    static const QList<QStringList> groups = {
        {QStringLiteral("$Français"), QStringLiteral("_Lecture"),
         QStringLiteral("__Compréhension d'un texte"), QStringLiteral("__Lecture à voix haute"),
         QStringLiteral("_Écriture"), QStringLiteral("_Orthographe"), QStringLiteral("_Grammaire"),
         QStringLiteral("_Vocabulaire")},
        {QStringLiteral("$Mathématiques"), QStringLiteral("_Nombres et calculs"),
         QStringLiteral("__Calcul mental"), QStringLiteral("__Opérations posées"),
         QStringLiteral("_Géométrie"), QStringLiteral("_Grandeurs et mesures"),
         QStringLiteral("_Résolution de problèmes")},
        {QStringLiteral("$Questionner le monde"), QStringLiteral("_Le vivant"),
         QStringLiteral("_La matière"), QStringLiteral("_L'espace et le temps")},
        {QStringLiteral("$Histoire-géographie"), QStringLiteral("_Histoire"),
         QStringLiteral("_Géographie"), QStringLiteral("_Enseignement moral et civique")},
        {QStringLiteral("$Langue vivante : anglais"), QStringLiteral("_Compréhension orale"),
         QStringLiteral("_Expression orale")},
        {QStringLiteral("$Éducation artistique"), QStringLiteral("_Arts plastiques"),
         QStringLiteral("_Éducation musicale")},
        {QStringLiteral("$Éducation physique et sportive"), QStringLiteral("_Natation"),
         QStringLiteral("_Jeux collectifs"), QStringLiteral("_Athlétisme")},
        {QStringLiteral("Comportement en classe"), QStringLiteral("Soin et présentation")},
    };
    return groups;
}

const QStringList& Surnames() {
    static const QStringList names = {
        QStringLiteral("Martin"),   QStringLiteral("Bernard"),   QStringLiteral("Dubois"),
        QStringLiteral("Thomas"),   QStringLiteral("Robert"),    QStringLiteral("Petit"),
        QStringLiteral("Durand"),   QStringLiteral("Leroy"),     QStringLiteral("Moreau"),
        QStringLiteral("Lefèvre"),  QStringLiteral("Fournier"),  QStringLiteral("Girard"),
        QStringLiteral("André"),    QStringLiteral("Mercier"),   QStringLiteral("Dupont"),
        QStringLiteral("Lambert"),  QStringLiteral("François"),  QStringLiteral("Guérin"),
        QStringLiteral("Rousseau"), QStringLiteral("Chevalier"), QStringLiteral("Clément"),
        QStringLiteral("Gauthier"), QStringLiteral("Noël"),      QStringLiteral("Le Goff"),
        QStringLiteral("Besançon"), QStringLiteral("Daniélou"),  QStringLiteral("Nguyen"),
        QStringLiteral("Da Silva"), QStringLiteral("Bœuf"),      QStringLiteral("Müller"),
    };
    return names;
}

const QStringList& GirlNames() {
    static const QStringList names = {
        QStringLiteral("Léa"),    QStringLiteral("Chloé"),   QStringLiteral("Manon"),
        QStringLiteral("Inès"),   QStringLiteral("Zoé"),     QStringLiteral("Anaïs"),
        QStringLiteral("Noémie"), QStringLiteral("Camille"), QStringLiteral("Héloïse"),
        QStringLiteral("Maëlys"), QStringLiteral("Jade"),    QStringLiteral("Océane"),
    };
    return names;
}

const QStringList& BoyNames() {
    static const QStringList names = {
        QStringLiteral("Lucas"),   QStringLiteral("Hugo"),     QStringLiteral("Théo"),
        QStringLiteral("Raphaël"), QStringLiteral("Noé"),      QStringLiteral("Maël"),
        QStringLiteral("Jérôme"),  QStringLiteral("Gaëtan"),   QStringLiteral("Nathan"),
        QStringLiteral("Loïc"),    QStringLiteral("Timothée"), QStringLiteral("Benoît"),
    };
    return names;
}

const QStringList& Remarks() {
    static const QStringList remarks = {
        QStringLiteral("Bon trimestre, continue ainsi."),
        QStringLiteral("Des progrès en lecture ; l'orthographe reste fragile."),
        QStringLiteral("Travail sérieux mais trop de bavardages."),
        QStringLiteral("Doit apprendre ses leçons plus régulièrement."),
        QStringLiteral("Très bonne participation à l'oral."),
        QStringLiteral("Résultats en baisse : attention !"),
        QStringLiteral("Élève agréable, curieux et investi dans la vie de la classe."),
        QStringLiteral("Les tables de multiplication ne sont pas encore sues."),
        QStringLiteral("Peut mieux faire en calcul."),
        QStringLiteral("Excellent travail en géométrie, soin remarquable."),
    };
    return remarks;
}

} // namespace

TWorkspaceGenerator::TWorkspaceGenerator(unsigned seed)
    : FRandom(seed) {}

int TWorkspaceGenerator::Below(int bound) {
    return std::uniform_int_distribution<int>(0, bound - 1)(FRandom);
}

const QString& TWorkspaceGenerator::PickFrom(const QStringList& texts) {
    return texts[Below(int(texts.size()))];
}

QStringList TWorkspaceGenerator::SubjectLines(int count) {
    QStringList lines;
    lines.reserve(count);
    // Long lists go round the report again, numbered so that no line repeats.
    for (int round = 1; lines.size() < count; ++round) {
        for (const QStringList& group : SubjectGroups()) {
            for (const QString& line : group) {
                if (lines.size() == count)
                    return lines;
                lines << (round == 1 ? line : line + u' ' + QString::number(round));
            }
        }
    }
    return lines;
}

std::unique_ptr<TNode> TWorkspaceGenerator::NewPupil(const TPData& classRecord) {
    auto record = std::make_unique<TPData>(TDataType::dtPupil);
    const int sexe = Below(100) < 3 ? DefaultSexeIndex : Below(2);
    record->SetSurname(PickFrom(Surnames()));
    record->SetName(PickFrom(sexe == 1 ? GirlNames() : BoyNames()));
    record->SetBirthDay(QDate(2014, 9, 1).addDays(Below(730)).toString(u"dd/MM/yyyy"));
    record->SetClassName(classRecord.ClassName());
    record->SetSexe(SexeValues()[std::size_t(sexe)]);

    const QStringList& subjects = classRecord.Lines();
    record->SetLevelCount(int(subjects.size()));
    for (int i = 0; i < int(subjects.size()); ++i) {
        if (subjects[i].startsWith(u'$'))
            continue;
        static constexpr int kLevelWeights[] = {35, 70, 85, 100};
        const int draw = Below(100);
        int level = 1;
        while (draw >= kLevelWeights[level - 1])
            ++level;
        record->SetLevel(i, level);
        // About half the subjects have a mark, by half points from 0 to 20.
        if (Below(2) == 0)
            record->SetMark(i, Below(41) / 2.0);
    }
    for (int i = 1 + Below(3); i > 0; --i)
        record->AppendLine(PickFrom(Remarks()));

    auto node = std::make_unique<TNode>();
    node->Text = PupilCaption(*record);
    node->SetImages(NodeImages(*record));
    node->Data = std::move(record);
    return node;
}

std::unique_ptr<TClassNode> TWorkspaceGenerator::NewClass(const QString& name, int subjects,
                                                          int pupils) {
    auto record = std::make_unique<TPData>(TDataType::dtClass);
    record->SetClassName(name);
    record->SetLines(SubjectLines(subjects));

    auto node = std::make_unique<TClassNode>();
    node->Text = record->ClassName();
    node->SetImages(NodeImages(*record));
    node->Data = std::move(record);
    node->Pupils.reserve(std::size_t(pupils));
    for (int i = 0; i < pupils; ++i)
        node->Pupils.push_back(NewPupil(*node->Data));
    return node;
}

TWorkspace TWorkspaceGenerator::NewWorkspace(int classes, int pupilsPerClass, int subjects) {
    static const QStringList levels = {QStringLiteral("CP"), QStringLiteral("CE1"),
                                       QStringLiteral("CE2"), QStringLiteral("CM1"),
                                       QStringLiteral("CM2")};
    TWorkspace tree;
    tree.Classes.reserve(std::size_t(classes));
    for (int i = 0; i < classes; ++i) {
        const QString name = levels[i % levels.size()] + QStringLiteral(" – école n°") +
                             QString::number(i / int(levels.size()) + 1);
        tree.Classes.push_back(NewClass(name, subjects, pupilsPerClass));
    }
    return tree;
}
