/* Stands in for the payload's helper programs (the screenshot tool, a folder's own
   uninstaller) and for the content-decryption module's library: they only need to be real
   PE files. */
#ifdef VIREO_PAYLOAD_STUB_DLL
__declspec(dllexport) int VireoPayloadStub(void) { return 0; }
#else
int main(void) { return 0; }
#endif
