#pragma once

#include "platform/Http.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

// Text fields of a form, in the order they are sent.
using FormFields = QList<QPair<QString, QString>>;

// The boundary between the parts of every upload body.
extern const QByteArray kMultipartBoundary;

// The value of the "Content-Type" header that goes with multipartBody().
QByteArray multipartContentType();

// Returns the multipart form body: one text part per field, in order, then one
// JPEG file part per element of files1 (named photo_1_1, photo_1_2, ...) and of
// files2 (photo_2_1, ...), then the closing line. An absent or empty list adds
// no parts. The JPEG bytes are pieces of their own, shared with the lists.
HttpBody multipartPieces(const FormFields& fields, const std::optional<QList<QByteArray>>& files1,
                         const std::optional<QList<QByteArray>>& files2);
// The same body in one block.
QByteArray multipartBody(const FormFields& fields, const std::optional<QList<QByteArray>>& files1,
                         const std::optional<QList<QByteArray>>& files2);
