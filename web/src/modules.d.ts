declare module "brendax-core" {
  const createBrendaxCore: () => Promise<unknown>;
  export default createBrendaxCore;
}
declare module "brendax-schema" {
  const schema: unknown;
  export default schema;
}
