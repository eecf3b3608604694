/* A dlclose that unloads nothing, preloaded into the gl tests under the
   sanitizers so the GL driver's blocks stay visible to LeakSanitizer. */
int dlclose(void* handle)
{
  (void)handle;
  return 0;
}
