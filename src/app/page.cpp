#include "app/page.h"

Page::Page(TF1* owner, const char* objectName) : form(owner) {
    setObjectName(QString::fromLatin1(objectName));
}

void Page::applyEnglishCaptions() {
    book.applyEnglish();
}
