#include "ui/Forms.h"

#include <QWindow>
#include <initializer_list>

#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/Unit3.h"
#include "ui/Unit4.h"
#include "ui/Unit5.h"
#include "ui/Unit6.h"

void CreateForms() {
    Form1 = new TForm1;
    Form2 = new TForm2;
    Form3 = new TForm3;
    Form4 = new TForm4;
    Form5 = new TForm5;
    Form6 = new TForm6;
    // The dialogs only choose an edit; the main window makes it and keeps it in its history.
    QObject::connect(Form2, &TForm2::EditChosen, Form1, &TForm1::EditPicture);
    QObject::connect(Form3, &TForm3::EditChosen, Form1, &TForm1::EditPicture);
    QObject::connect(Form6, &TForm6::EditChosen, Form1, &TForm1::EditPicture);
}

void KeepSecondaryFormsOverMain() {
    Form1->winId();  // the native windows exist from here on, hidden
    for (QWidget* form : std::initializer_list<QWidget*>{Form2, Form3, Form4, Form5, Form6}) {
        form->winId();
        form->windowHandle()->setTransientParent(Form1->windowHandle());
    }
}

namespace {
template <typename Form>
void Destroy(Form*& form) {
    delete form;
    form = nullptr;
}
}  // namespace

void DestroyForms() {
    Destroy(Form6);
    Destroy(Form5);
    Destroy(Form4);
    Destroy(Form3);
    Destroy(Form2);
    Destroy(Form1);
}
