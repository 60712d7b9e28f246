#pragma once

class QLabel;
class QVBoxLayout;
class QWidget;
struct CasePhotoLayout;

// The labels of the case's facts at the top of the photo screens.
struct CasePhotoFacts {
    QLabel* type_lab = nullptr;   // the check type
    QLabel* time_lab = nullptr;   // when the check started
    QLabel* pakeno_lab = nullptr; // the equipment number
    QLabel* Chkno_lab = nullptr;  // the check number
    QLabel* noFixMark = nullptr;  // "尚未定位", while no position has arrived
};

// Makes the facts' labels on parent, each captioned, as plain text in the
// layout's font, with the "尚未定位" mark under them, and returns the column
// that holds them.
QVBoxLayout* casePhotoFactsColumn(QWidget* parent, const CasePhotoLayout& look,
                                  CasePhotoFacts& facts);
