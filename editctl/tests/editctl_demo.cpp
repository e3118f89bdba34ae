#include "editctl/LEDlp32.h"
int main(){return 0;}
