#pragma once

#include "net/ServerAnswers.h"

#include <QString>
#include <optional>

// The inspector lookup at login, blocking for at most the inspector-lookup
// time-out. Returns none when no answer came at all (the caller then falls
// back to the stored inspector); any answer, even one that is not JSON, is
// returned and is a refusal unless its "isChker" is "Y".
std::optional<InspectorAnswer> lookupInspector(const QString& serverIp,
                                               const QString& identityNumber);

// The case lookup before an upload, blocking. Returns none when no answer
// came (the inspector has then been told so) or when the answer is not a JSON
// object.
std::optional<CaseLookupAnswer> lookupCase(const QString& serverIp, const QString& pakeno,
                                           const QString& chkno);
