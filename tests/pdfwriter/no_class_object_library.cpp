// A library that loads but is no server: it lacks DllGetClassObject.

extern "C" __attribute__((visibility("default"))) int notAServer()
{
  return 0;
}
