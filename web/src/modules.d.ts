declare module "brendax-core" {
  const createBrendaxCore: (module?: Record<string, unknown>) => Promise<unknown>;
  export default createBrendaxCore;
}
declare module "brendax-schema" {
  const schema: unknown;
  export default schema;
}
declare module "brendax-startup" {
  const startup: unknown;
  export default startup;
}
