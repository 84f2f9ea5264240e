#pragma once

class QLineEdit;

// Lets only the digits 0 to 9 into box, however the text arrives: a typed
// key that is not a digit, Backspace or Enter is dropped with a beep and the
// notice "شما بايد عدد وارد كنيد"; pasted or dropped text with anything but
// digits is refused the same way. Text the program sets is not filtered.
void AcceptDigitsOnly(QLineEdit *box);
