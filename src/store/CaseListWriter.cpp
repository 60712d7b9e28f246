#include "store/CaseListWriter.h"

#include "plist/Plist.h"

bool CaseListWriter::write(const QString& path, const CaseList& cases, QString* error) {
    QList<QByteArray> texts;
    texts.reserve(cases.size());
    std::unordered_map<const CaseRecord*, Written> kept;
    kept.reserve(std::size_t(cases.size()));
    for (const auto& record : cases) {
        if (!record) continue;
        auto node = written_.extract(record.get());
        if (node.empty() || node.mapped().record != *record) {
            QString why;
            const std::optional<QByteArray> text =
                writePlistArrayItem(PlistValue(record->toPlist()), &why);
            if (!text) {
                if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, why);
                return false;
            }
            texts << *text;
            if (!record->hasInlinePhotos()) kept.emplace(record.get(), Written{*record, *text});
            continue;
        }
        texts << node.mapped().text;
        kept.insert(std::move(node));
    }
    written_ = std::move(kept);
    return writePlistArrayFile(path, texts, error);
}
