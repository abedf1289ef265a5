/* Code part of the resource-only DLLs used as stand-in installer images in tests. */
int vireo_resource_only_dll(void) { return 0; }
