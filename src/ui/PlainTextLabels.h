#pragma once

// Makes every label of the app show its text as plain text: names, notices
// and codes come from the server, the store, the settings and QR codes, and
// are never read as markup. A label left on Qt's automatic format becomes
// plain text before it is first laid out or drawn; one that asks for rich
// text explicitly keeps it. Safe to call any number of times; every screen
// calls it when it is made, so no screen can forget it.
void showLabelsAsPlainText();
