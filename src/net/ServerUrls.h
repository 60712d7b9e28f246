#pragma once

#include <QByteArray>
#include <QString>

// The texts of the server's URLs. serverIp is the host, optionally with
// ":port": bare or after "http://" it is reached over plain HTTP, after
// "https://" over TLS.

// The scheme, host and port of the lookups, without a trailing slash:
// "https://h:8443" for "https://h:8443/", "http://h" for "h" and "http://h".
QString serverBaseUrl(const QString& serverIp);

// The chkerId value: the identity number upper-cased, as UTF-8, in standard
// Base64 with its padding, so lower and upper case give the same value.
QString chkerIdQueryValue(const QString& identityNumber);

// The inspector lookup URL; the Base64 value goes in without percent-encoding.
QString inspectorLookupUrl(const QString& serverIp, const QString& identityNumber);

// The case lookup URL as text, before escaping (see percentEscapedUrl).
QString caseLookupUrl(const QString& serverIp, const QString& pakeno, const QString& chkno);

// The upload URL below the base address a case lookup hands out.
QString uploadUrl(const QString& uploadPath);

// Returns the URL text as UTF-8 with every byte that may not appear in a URL
// percent-encoded (spaces, quotes, non-ASCII, a literal "%", ...). Unreserved
// and reserved characters ("?", "&", "=", "/", ":", "#", ...) stay as they are.
QByteArray percentEscapedUrl(const QString& url);
