int UpperValue() { return 2; }
